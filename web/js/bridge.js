// The bridge to the program in WebAssembly: loads it, knows each control's element by the
// control's number, and hands the page's events to it one at a time.
import createSchnackomat from "./schnackomat.js";

let module = null;
// Element of each control number, and number of each element, as the program names them.
const elements = [];
const numbers = new Map();
// A call into the rules is running, or a rule waits for a message box to be answered. The
// page's own writes raise events of their own (focus moves, for one): the rules already know
// about those. And while a message box is open the rest of the page is inert.
let running = 0;
let waiting = false;

// Loads and starts the module, which calls back into `page` (operations.js), and finds the
// element of every control by its name.
export async function loadProgram(page) {
    module = await createSchnackomat({ page });
    const count = module.ccall("schnackomat_control_count", "number", [], []);
    for (let control = 0; control < count; ++control) {
        const name = module.ccall("schnackomat_control_name", "string", ["number"], [control]);
        const element = document.getElementById(name);
        elements.push(element);
        if (element) {
            numbers.set(element, control);
        }
    }
}

export const elementOf = (control) => elements[control];

// The control number of an element; undefined for elements that are no control.
export const numberOf = (element) => numbers.get(element);

// Calls an entry point of the program. Answers its result, a promise when the rule waits for
// a message box, or null when the event was not delivered.
export function deliver(entry, ...args) {
    if (module === null || running > 0 || waiting) {
        return null;
    }
    running += 1;
    let result;
    try {
        result = module.ccall(entry, "number", args.map(() => "number"), args);
    } finally {
        running -= 1;
    }
    if (result instanceof Promise) {
        waiting = true;
        result.finally(() => {
            waiting = false;
        });
    }
    return result;
}

// The program's texts are UTF-16, as the page's strings are; a lone surrogate, which no
// keyboard types, would come out as U+FFFD.
const utf16Decoder = new TextDecoder("utf-16le");

// The `length` UTF-16 units at `at` in the module's memory.
export function programText(at, length) {
    return utf16Decoder.decode(module.HEAPU8.subarray(at, at + 2 * length));
}

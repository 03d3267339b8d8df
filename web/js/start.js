// Start-up: the program loads, gives the page its texts and its drawing, the page lays itself
// out, and the main window opens with the focus in the input box.
import { deliver, loadProgram } from "./bridge.js";
import { connect } from "./events.js";
import { keepLaidOut, layOut } from "./fitting.js";
import { page } from "./operations.js";

async function start() {
    await loadProgram(page);
    deliver("schnackomat_show_texts");
    deliver("schnackomat_show_layout");
    layOut();
    keepLaidOut();
    document.getElementById("Form1Frame").classList.remove("untitled");
    connect();
    for (const name of ["Text1", "Text2", "Text3"]) {
        document.getElementById(name).disabled = false;
    }
    deliver("schnackomat_start");
    document.getElementById("Form1").setAttribute("aria-busy", "false");
    document.documentElement.dataset.state = "ready";
    performance.mark("schnackomat-ready");
    // From now on the page opens without its server too (service-worker.js). A browser that
    // offers no worker, or refuses it, still has the page as it is.
    navigator.serviceWorker?.register("service-worker.js").catch(() => {});
}

start().catch((error) => {
    document.documentElement.dataset.state = "failed";
    console.error(error);
});

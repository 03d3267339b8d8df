// What the browser benchmarks share: the German text they type and the percentiles they print.
import { readdirSync, lstatSync, readFileSync } from "node:fs";
import { join } from "node:path";

const FortunesDirectory = "/usr/share/games/fortunes/de";

// Debian's fortunes-de, every file once in name order (no indexes, no links), or generated
// text when it is not installed.
export function germanCorpus() {
    try {
        const names = readdirSync(FortunesDirectory).sort();
        const parts = names
            .filter((name) => !name.endsWith(".dat") && !lstatSync(join(FortunesDirectory, name)).isSymbolicLink())
            .map((name) => readFileSync(join(FortunesDirectory, name)));
        if (parts.length > 0) {
            return Buffer.concat(parts);
        }
    } catch {
        // fall through
    }
    console.error("fortunes-de not found, using generated text");
    const words = "Das ist cool und der Hund hat nicht mal Lust auf Fußball, aber die Größe ändert sich öfter. Warum? Weil wir es können!".split(" ");
    return Buffer.from(Array.from({ length: 300000 }, (_, i) => words[(i * 7919) % words.length] + (i % 12 === 11 ? "\n" : " ")).join(""));
}

// The first `bytes` bytes of the corpus as UTF-8 (repeated as needed), cut back to a whole
// character.
export function textOfSize(corpus, bytes) {
    let data = corpus;
    while (data.length < bytes) {
        data = Buffer.concat([data, corpus]);
    }
    let end = bytes;
    while (end > 0 && (data[end] & 0xc0) === 0x80) {
        end -= 1;
    }
    return data.subarray(0, end).toString("utf8");
}

export function percentile(values, p) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.ceil((p / 100) * sorted.length) - 1)];
}

// The plain way to list a tab's elements over the DevTools protocol: one
// script in the page reads every element into rows, which come back by
// value as compact JSON and are laid out here. bench_cli_elements races vorlane-cli elements
// --json against it.
//
//   node --experimental-websocket elements_client.mjs PORT URL [TAG] [--in-page-ms]
//
// Prints the rows as an indented JSON array; with --in-page-ms, only the
// milliseconds the read took inside the page.

const args = process.argv.slice(2);
const inPageMs = args.includes('--in-page-ms');
const [port, address, tag = ''] = args.filter((a) => a !== '--in-page-ms');

// Runs in the page. A member the element lacks reads as "" and is listed
// in unavailable by its column code, as vorlane-cli lists it.
function readElements(tag) {
    const keys = ['tagName', 'type', 'click', 'name', 'value', 'alt', 'href', 'innerText', 'innerHTML', 'id'];
    const rows = [];
    for (let i = 0; i < document.all.length; i++) {
        const e = document.all[i];
        if (tag && e.tagName !== tag)
            continue;
        const row = { no: rows.length + 1, item: i };
        const unavailable = [];
        keys.forEach((key, c) => {
            const has = key in e;
            // click is a method: it is listed, never called.
            const value = has && key !== 'click' ? e[key] : null;
            row[key === 'innerHTML' ? 'innerHtml' : key] = value == null ? '' : String(value);
            if (!has)
                unavailable.push(c + 1);
        });
        row.unavailable = unavailable;
        row.failed = [];
        rows.push(row);
    }
    return rows;
}

// Node's WebSocket drops the connection on a compressed message that
// inflates past 4 MiB, and Chromium compresses; a piece of this many
// characters stays under that even with every character escaped.
const kPieceChars = 512 * 1024;

const read = `(${readElements})(${JSON.stringify(tag)})`;

const tabs = await (await fetch(`http://127.0.0.1:${port}/json/list`)).json();
const tab = tabs.find((t) => t.type === 'page' && t.url === address);
if (!tab) {
    console.error(`no tab shows ${address}`);
    process.exit(1);
}
const socket = new WebSocket(tab.webSocketDebuggerUrl);
await new Promise((resolve, reject) => {
    socket.onopen = resolve;
    socket.onerror = () => reject(new Error('cannot connect to the tab'));
});
socket.onclose = (event) => {
    console.error(`the tab closed the connection (${event.code})`);
    process.exit(1);
};
const pending = new Map();
socket.onmessage = (event) => {
    const reply = JSON.parse(event.data);
    pending.get(reply.id)?.(reply);
    pending.delete(reply.id);
};
let lastId = 0;
async function evaluate(expression) {
    const id = ++lastId;
    const reply = await new Promise((resolve) => {
        pending.set(id, resolve);
        socket.send(JSON.stringify({ id, method: 'Runtime.evaluate', params: { expression, returnByValue: true } }));
    });
    if (reply.error || reply.result.exceptionDetails) {
        console.error(JSON.stringify(reply.error || reply.result.exceptionDetails));
        process.exit(1);
    }
    return reply.result.result.value;
}

if (inPageMs) {
    process.stdout.write(`${await evaluate(`(() => { const start = performance.now(); ${read}; return performance.now() - start; })()`)}\n`);
} else {
    // Compact over the socket, laid out here: the fewer bytes travel, the
    // sooner they arrive.
    const length = await evaluate(`(window.elementsJson = JSON.stringify(${read})).length`);
    const pieces = [];
    for (let at = 0; at < length; at += kPieceChars)
        pieces.push(await evaluate(`window.elementsJson.slice(${at}, ${at + kPieceChars})`));
    await evaluate('delete window.elementsJson');
    process.stdout.write(`${JSON.stringify(JSON.parse(pieces.join('')), null, 4)}\n`);
}
// Node would otherwise linger for a while over fetch's idle connection.
process.stdout.write('', () => process.exit(0));

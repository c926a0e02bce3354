// Prints a database as the mdb-reader package reads it, as JSON:
// {"<table>": {"columns": [names], "types": ["text:400", ...], "rows": [[values], ...]}}.
// An empty text stays "" and a missing value is null, so the two can be told apart.
import MDBReader from "mdb-reader";
import { readFileSync } from "fs";

const db = new MDBReader(readFileSync(process.argv[2]));
const out = {};
for (const name of db.getTableNames()) {
    const table = db.getTable(name);
    const columns = table.getColumns();
    out[name] = {
        columns: columns.map((c) => c.name),
        types: columns.map((c) => `${c.type}:${c.size}`),
        rows: table.getData().map((row) => columns.map((c) => row[c.name])),
    };
}
process.stdout.write(JSON.stringify(out));

// Reads a database with the mdb-reader package and prints, as JSON:
// {"tables": [{"name", "rowCount", "columns": [{"name", "type", "size"}], "rows": [[...]]}],
//  "systemTables": [names]}
// Values are printed as the reader returns them: an empty text stays "" and NULL stays null.
// Usage: node read-mdb.mjs <file.mdb>   (mdb-reader is found from the repository root)
import MDBReader from "mdb-reader";
import { readFileSync } from "fs";

const db = new MDBReader(readFileSync(process.argv[2]));
const tables = db.getTableNames().map((name) => {
    const table = db.getTable(name);
    const columns = table.getColumns();
    return {
        name,
        rowCount: table.rowCount,
        columns: columns.map((c) => ({ name: c.name, type: c.type, size: c.size })),
        rows: table.getData().map((row) => columns.map((c) => row[c.name])),
    };
});
const systemTables = db.getTableNames({ normalTables: false, systemTables: true });
process.stdout.write(JSON.stringify({ tables, systemTables }) + "\n");

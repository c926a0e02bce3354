// Reads a database with the mdb-reader package and prints its tables as JSON:
// [{"name", "columns": ["<name> <type><size in bytes>"], "rows": [[values as read]]}]
// An empty text stays "" and a value that is not text becomes "<not text>". Fails when the
// system tables are not the four a new Jet 4 file has.
// Usage: node read-mdb.mjs <file.mdb>   (mdb-reader is found from the repository root)
import MDBReader from "mdb-reader";
import { readFileSync } from "fs";

const db = new MDBReader(readFileSync(process.argv[2]));
const system = db.getTableNames({ normalTables: false, systemTables: true }).join();
if (system !== "MSysObjects,MSysACEs,MSysQueries,MSysRelationships")
    throw new Error("unexpected system tables: " + system);
const tables = db.getTableNames().map((name) => {
    const columns = db.getTable(name).getColumns();
    return {
        name,
        columns: columns.map((c) => `${c.name} ${c.type}${c.size}`),
        rows: db.getTable(name).getData().map((row) =>
            columns.map((c) => (typeof row[c.name] === "string" ? row[c.name] : "<not text>"))),
    };
});
process.stdout.write(JSON.stringify(tables) + "\n");

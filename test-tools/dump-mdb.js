// Prints an Access file's user tables as JSON, read by mdb-reader:
//   node dump-mdb.js FILE [--password P] [--table NAME]
// {"tables":[{"name":..., "columns":[{"name":...,"type":...}], "rows":[[...]]}]}
// Binary values are lower-case hex, dates ISO strings; other values as read.
import MDBReader from "mdb-reader";
import { readFileSync } from "node:fs";

const args = process.argv.slice(2);
const file = args[0];
let password;
let only;
for (let i = 1; i < args.length; i++) {
  if (args[i] === "--password") password = args[++i];
  else if (args[i] === "--table") only = args[++i];
}
const reader = new MDBReader(readFileSync(file), password === undefined ? {} : { password });
const names = only ? [only] : reader.getTableNames();
const tables = names.map((name) => {
  const table = reader.getTable(name);
  const columns = table.getColumns().map((c) => ({ name: c.name, type: c.type }));
  const rows = table.getData().map((row) =>
    columns.map(({ name: col }) => {
      const v = row[col];
      if (v === null || v === undefined) return null;
      if (Buffer.isBuffer(v)) return v.toString("hex");
      if (v instanceof Date) return v.toISOString();
      return v;
    }),
  );
  return { name, columns, rows };
});
process.stdout.write(JSON.stringify({ tables }) + "\n");

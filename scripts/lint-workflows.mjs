// actionlint over workflow files: a line for each problem, and an exit
// status other than 0 when there is one, no file, or no actionlint.
//   node scripts/lint-workflows.mjs ACTIONLINT_PREFIX FILE...
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

const [prefix, ...files] = process.argv.slice(2);
let createLinter;
try {
  ({ createLinter } = createRequire(resolve(prefix, "index.js"))("actionlint"));
} catch {
  console.error(`no actionlint under ${prefix}: run scripts/lint-workflows --install`);
  process.exit(2);
}
if (files.length === 0) {
  console.error("no workflow to check");
  process.exit(2);
}

const lint = await createLinter();
let problems = 0;
for (const file of files) {
  for (const p of lint(readFileSync(file, "utf8"), file)) {
    console.log(`${p.file}:${p.line}:${p.column}: ${p.message} [${p.kind}]`);
    ++problems;
  }
}
console.log(problems ? `${problems} problem(s)` : `${files.length} workflow file(s), no problem`);
process.exit(problems ? 1 : 0);

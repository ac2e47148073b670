// How long the server runs: while any object or factory lock is held, and a little longer
// after the last one goes, so that a client that drops its object and makes a new one at
// once is served by this process instead of racing its exit.
#pragma once

void ServerAddRef();
void ServerRelease();

// Runs the serving thread's message loop until the server has stayed idle. `withdraw`
// takes the class factories back before the last look, so that a new client starts a new
// server instead of reaching one that is about to end.
void RunServerLoop(void (*withdraw)());

#pragma once
// Draining the calling thread's message queue without waiting, with the same input
// handling as a dialog's modal loop.

// Removes, pre-translates, translates and dispatches every waiting message; returns as
// soon as the queue is empty. A WM_QUIT found is posted again for the outer loop.
void PumpWaitingMessages();

// Failure injection for allocations that ask not to throw: the plug-in reports those failures.
#pragma once

// The n-th nothrow allocation from now fails (0: the next one); a negative n never.
void FailNothrowAllocation(int n);
// Whether the armed failure has not happened yet.
bool NothrowFailurePending();

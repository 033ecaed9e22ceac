// Failure injection: the program's allocations go through a counter that can make one fail.
#pragma once

// The n-th allocation from now fails (0: the next one), counting only the allocations that ask
// not to throw when nothrowOnly is set; a negative n never.
void FailAllocation(long n, bool nothrowOnly);
// Whether the armed failure has not happened yet.
bool AllocationFailurePending();
// Allocations made since the program started.
long AllocationCount();

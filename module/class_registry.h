// The module's class registration table, in the order the host enumerates it.
#pragma once

class ClassDesc;

constexpr int kRegisteredClassCount = 11;

// Entry i of the table, or null for an index outside it.
ClassDesc* RegisteredClass(unsigned int index);

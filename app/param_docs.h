// The module's parameter blocks as Markdown tables, for docs/scene-format.md: generated from the
// blocks themselves, so the document cannot drift from the classes.
#pragma once

#include <ostream>

class ClassDirectory;

void PrintParamDocs(const ClassDirectory& classes, std::ostream& out);

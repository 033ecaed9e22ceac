// The road modifier's class descriptor, as the module's class table reaches it.
#pragma once

class ClassDesc;

ClassDesc* GetRoadModDesc();

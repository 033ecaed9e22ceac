// Category names shared by the class descriptors.
#pragma once

// "Marlovan2": the helpers' category, and the class name of the panel and the controller.
const wchar_t* GetMarlovanCategory();
// "Marlovan": the modifiers' category.
const wchar_t* RoadCategory();

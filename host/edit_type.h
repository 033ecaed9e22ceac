// What an edit field beside a spinner shows: the parameter blocks' bindings and the spinners
// share these.
#pragma once

enum EditType { EDITTYPE_FLOAT = 1, EDITTYPE_INT, EDITTYPE_UNIVERSE, EDITTYPE_TIME };
using EditSpinnerType = EditType;

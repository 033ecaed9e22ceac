// A scene file's "actions": what the user then does in the utility panel, in order.
#pragma once

class ClassDirectory;
class Interface;
class JsonPlace;

// Opens the panel, does every action and closes it again. An action the panel refuses, or one
// that shows an error message, throws SceneError naming the action's place. Without
// pressButtons "trace" and "reset" are checked but not pressed.
void RunSceneActions(const JsonPlace& actions, const ClassDirectory& classes, Interface* ip, bool pressButtons);

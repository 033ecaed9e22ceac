// The scene's nodes by the names a scene file gives them.
#pragma once

#include <map>
#include <string>
#include <vector>

class Interface;
class INode;

using NodesByName = std::map<std::wstring, std::vector<INode*>>;

// Every named node of the scene; without recursion, as scenes may be deep.
NodesByName NameNodes(Interface* ip);

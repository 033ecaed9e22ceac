// Builds the lane network of the scene as it stands: the ways of every lane source, in walk
// order, then the junction connectors.
#pragma once

class LaneNetwork;

// Replaces the network's contents. False when memory ran out or a source wrote fewer ways than
// it announced; the network is then empty.
bool BuildLaneNetwork(LaneNetwork& network);

// "Set Up": turns the selected body and four or six wheels into a vehicle.
#pragma once

class MarlovanUtil;

// Measures the selection (read once, in selection order), then makes a vehicle helper node at
// the body's ground point, sizes it, and gives the body and every wheel a controller that
// follows it, each part resting where it stood. A wrong selection count, a selection without
// a body (nothing has a size) or a class that cannot be made shows an "Error" box owned by the
// panel's motion window and leaves the scene as it was. Afterwards the body is deselected.
void VehicleSetup(MarlovanUtil& panel);

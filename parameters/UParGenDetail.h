#pragma once
// Shared by the parameter form's sources: the model seams and the sibling models' controls.
#include "parameters/UParGen.h"

namespace pargen_detail {

// The model installed by TParSiblingModel, else the program's.
int Installed_Model();
// A text the form's creation reads once (panel headers, device list; Set_Lang leaves them): the
// start-up language's when FParGen_On_Demand creates the form, else the language in force.
String Creation_Text(int Index);
// Get_Protocol_Names, or the replacement installed by TParProtocolNames.
int Protocol_Names(String& Name1, String& Name2);

// The controls of the sibling models' 31 panels, appended to the table.
void Add_Sibling_Controls(TTableBuilder& b);

}  // namespace pargen_detail

#pragma once
// Hidden-row records are carved from blocks of their own (AdvGrid.cpp): an operation about to
// make many records asks for the room at once. The room outlives the records (a filter is mostly
// applied again, and memory written a moment ago is far quicker to write than fresh pages) until
// a grid goes while no record is alive.
void ReserveGridItems(int Count);
void ReleaseGridItemRoom();

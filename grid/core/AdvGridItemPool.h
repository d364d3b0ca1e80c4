#pragma once
// Hidden-row records are carved from blocks of their own (AdvGrid.cpp): an operation about to
// make many records asks for the room at once.
void ReserveGridItems(int Count);

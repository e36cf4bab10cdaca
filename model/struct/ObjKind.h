// The kinds of model objects that property rows, the selection-property panels, the query
// by property values and the selection operations tell apart. The numbers travel as plain
// ints (messages to the host, grid and dialog parameters), so they never change.
#pragma once

enum ObjKind : int
{
    OBJKIND_NODE = 0,
    OBJKIND_BEAM = 1,     // an ordinary member or a secondary beam
    OBJKIND_WALL = 2,
    OBJKIND_PLANE = 3,    // a room
    OBJKIND_BCINWALL = 4, // a member in a wall: a coupling beam or a wall pier
    OBJKIND_COUNT = 5
};

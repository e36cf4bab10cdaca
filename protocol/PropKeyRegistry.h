// The property keys of the grid: each dialog area registers its rows at load, beside the
// dialogs they open, so the grid knows every key without including any area. A row names
// its key, the program type it runs in, how many objects it takes, and the body that opens
// the dialog. The gate and the count are applied once, here, before the body runs; a body
// does only its part (preset the dialog, apply the choice).
#pragma once

#include <initializer_list>
#include <vector>

class CGlobalData;

namespace vyrkeys {

// A key's dialog body: the row's objects (a model list of the row's kind) and the model
// root; nonzero when it changed the model.
typedef int (*PropBody)(void* objects, CGlobalData* data);

// The program types a key runs in.
enum PropGate
{
    AnyProgram = -1,
    ModelProgram = 0,  // the modelling program: the model's input keys
    DesignProgram = 1, // the design program: results, reports, studs, slabs
};

// How many objects a key takes; outside the rule it answers 0 and shows nothing.
enum class PropCount
{
    Any,
    OneObject,         // exactly one object of the row's list
    OneOrdinaryMember, // exactly one ordinary or secondary member among the list's members
    OneMemberInWall,   // exactly one member in a wall among the list's members
};

struct PropKeyRow
{
    const char* key;
    int gate; // a PropGate
    PropCount count;
    PropBody body;
};

// The registered row of the key, or null.
const PropKeyRow* Find(const char* key);
// Every registered row, ordered by the keys' bytes.
std::vector<const PropKeyRow*> Rows();
// Whether the row's gate and count admit the objects in the model's program type.
bool Admits(const PropKeyRow& row, void* objects, CGlobalData* data);
// Runs the key's body when its row admits the objects; 0 for an unknown key or a refusal.
int Run(const char* key, void* objects, CGlobalData* data);

// Registers an area's rows when the library loads (an object of static storage in the
// area's key file). A key registered before keeps its first row: the repeat is refused
// with a message naming it.
class CPropKeyRows
{
public:
    CPropKeyRows(std::initializer_list<PropKeyRow> rows);
    // The keys this registration refused.
    const std::vector<const char*>& Refused() const { return m_refused; }

private:
    std::vector<const char*> m_refused;
};

} // namespace vyrkeys

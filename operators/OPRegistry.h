// The operator classes registered with the object factory, in the fixed order of their
// registration at library load.
#pragma once

#include <vyr/model/base/base.h>

struct COPClassEntry
{
    const char* type;              // type string in the factory
    CObjCreator::CreateFunc create; // null while the class is not part of the library
};

// All 19 rows in registration order.
const COPClassEntry* GetOPClassTable(int* count);

// Registers every row that has a create function, in table order. Runs once at load;
// running it again re-registers the same functions.
void RegisterOPClasses();

// Resource id of the placeholder template on which the stand-ins of the dialogs still to be
// written run.
#pragma once

#define IDD_STANDIN 9990

#include "dispatch_name.h"

bool IsGameViewName(const wchar_t* name) {
    return name != nullptr && name[0] == L'e';
}

#pragma once

#include <functional>

// A check a page makes before a command that changes data (an operator right, for instance).
// It shows its own refusal and answers whether the command may go on.
using Gate = std::function<bool()>;

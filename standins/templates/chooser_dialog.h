// The chooser's modal dialog: the list of a category's templates with the caller's hook
// dialog inside it.
#pragma once

#include "qxtmpl_api.h"
#include "template_library.h"

#include <vector>

constexpr int CHOSE_CANCELLED = -1;
constexpr int CHOSE_NO_TEMPLATE = -2;

// Runs the dialog for `block` over `templates`; answers the index of the chosen template,
// CHOSE_NO_TEMPLATE for the first entry or CHOSE_CANCELLED.
int RunChooserDialog(HINSTANCE module, QXTMPL_BLOCK& block, const std::vector<TEMPLATE_ITEM>& templates);

// The palette's "Fichier" commands: a text file shown in the editor as the text's own file,
// a file imported in place of the text, and the text exported into another format.
#pragma once

#include "edit_session.h"

// Runs "&Afficher...", "&Importer..." or "&Exporter..."; false for any other command.
bool RunFileCommand(EDITSESSION* session, int command);

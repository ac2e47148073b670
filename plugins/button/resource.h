// Identifiers of the button module's resources.
#pragma once

#define IDS_MENU_PATH 200
#define IDS_INTERNAL_ERROR 201
#define IDS_CLASS_NOT_REGISTERED 202
#define IDS_FILE_ERROR 203
#define IDS_BAD_RECORD 204
#define IDS_TOOLTIP 228
#define IDS_OBJECT_NAME 239

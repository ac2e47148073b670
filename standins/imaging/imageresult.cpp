// Texts of the imaging layer's result codes.
#include "imageresult.h"

const char* ImageResultText(int code)
{
    switch (code) {
    case IMAGE_SUCCESS: return "Success";
    case IMAGE_ERROR_NO_IMAGE: return "No image is held";
    case IMAGE_ERROR_NO_MEMORY: return "Not enough memory for the image";
    case IMAGE_ERROR_FILE_READ: return "The image file cannot be read";
    case IMAGE_ERROR_FILE_WRITE: return "The image file cannot be written";
    case IMAGE_ERROR_NO_DECODER: return "The file is not in an image format that can be read";
    case IMAGE_ERROR_NO_ENCODER: return "Images cannot be saved in this format on this system";
    case IMAGE_ERROR_BAD_DATA: return "The image data is damaged";
    case IMAGE_ERROR_INVALID_ARGUMENT: return "Invalid argument";
    case IMAGE_ERROR_GDI: return "The drawing system refused the image";
    case IMAGE_ERROR_COMPONENT: return "The imaging component cannot be started";
    default: return "Unknown imaging error";
    }
}

// RFC 4648 base 64, for Basic authentication.
#pragma once

#include <string>

std::string Base64(const std::string& bytes);

#include "platform/error.h"

namespace kt {

std::string withFullStop(std::string text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

}  // namespace kt

#include "sim/PathForm.h"

namespace kivp {

std::string PathForm::folderWithSeparator(const std::string& folder) const {
    std::string text = shortForm(folder);
    if (text.empty() || text.back() != separator)
        text += separator;
    return text;
}

} // namespace kivp

#pragma once

#include <string>

#include "platform/toolkit/Control.h"

namespace toolkit {

// A font as the form's properties give it. A weight of 400 is normal and 700 bold.
struct Font {
    std::string name;    // the family; a sans-serif face stands in when it is not installed
    double size = 8.25;  // points
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;
};

// A caption drawn on the form: left-aligned, no automatic sizing, never takes the focus; the form's
// background shows through it.
class Label : public Control {
public:
    explicit Label(Form& owner);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetFont(const Font& font);

    bool CanTakeFocus() const override { return false; }

private:
    std::string caption_;
};

}  // namespace toolkit

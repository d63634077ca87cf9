#include "shell/ui/NameField.h"

#include "records/RecordFile.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace {

class NameFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        input = FitTextField(input, kNameWidth);
        pos = std::min(pos, int(input.size()));
        return Acceptable;
    }
};

} // namespace

void LimitToNameField(QLineEdit *box)
{
    box->setValidator(new NameFieldValidator(box));
}

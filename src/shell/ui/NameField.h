#pragma once
// A box for the learner's name that holds no more than the record file's
// name field keeps (16 GBK bytes, no half character), so the learner sees
// exactly the name that will be stored.
class QLineEdit;

void LimitToNameField(QLineEdit *box);

// 区間・種別選択: the express section and the seat type of a limited-express
// enquiry.
#pragma once

#include "screens/SectionScreen.hpp"

class frmTSelect : public SectionScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmTSelect";
    explicit frmTSelect(ScreenFlow& flow);

    QPushButton* cmdJiyu;
    QPushButton* cmdSitei;
    QPushButton* cmdGreen;

protected:
    void languageChanged() override;

private:
    // A caption cut short to fit its button is said in full.
    void nameInFull();
};

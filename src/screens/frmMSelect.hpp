// 区間選択: the part of a Marine Liner journey ridden in the Green car.
#pragma once

#include "screens/SectionScreen.hpp"

class frmMSelect : public SectionScreen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmMSelect";
    explicit frmMSelect(ScreenFlow& flow);

    QPushButton* cmdNext;
};

#pragma once

#include "activities/grid/TableGame.h"

// "tabella": a two-by-two table of two attributes; each block goes into its cell.
class pagl9 : public TableGame
{
    Q_OBJECT

public:
    pagl9();

    QPointer<platform::Line> Line1;

protected:
    void createWindowControls() override;
};

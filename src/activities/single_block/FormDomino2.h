#pragma once

#include "activities/single_block/FormDomino.h"

// "Cosa resta uguale?": the chain of "Cosa cambia?" turned round; each new block keeps one
// attribute of the block before it and changes the others, or changes all four.
class FormDomino2 : public FormDomino
{
    Q_OBJECT

public:
    FormDomino2();
};

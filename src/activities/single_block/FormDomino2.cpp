#include "activities/single_block/FormDomino2.h"

// The answers stand a little further up and to the left than in "Cosa cambia?".
FormDomino2::FormDomino2()
    : FormDomino(QStringLiteral("FormDomino2"),
                 {ChainRules::oneStays, "Cosa resta uguale?", 8400, 1440, 120, 5760})
{
}

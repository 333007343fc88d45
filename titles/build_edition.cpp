// The edition of the program that links this library: PACK_EDITION is one of EditionId's names.
#include "titles/editions.h"

extern const EditionId kBuildEdition = EditionId::PACK_EDITION;

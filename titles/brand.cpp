#include "titles/brand.h"

#include "titles/kavor_app.h"
#include "titles/nuva_app.h"
#include "titles/trell_app.h"

const char* BrandName(const AppBase& title) {
  if (dynamic_cast<const KavorApp*>(&title) != nullptr)
    return "KAVOR";
  if (dynamic_cast<const NuvaApp*>(&title) != nullptr)
    return "Nuva";
  if (dynamic_cast<const TrellApp*>(&title) != nullptr)
    return "TRELL";
  return "";
}

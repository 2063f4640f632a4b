// The coded items of a payment: payment kind, instruction codes and countries.
//
//   transfer->setZahlungsart(xkdtazv::Zahlungsart::EU_STANDART);
//   transfer->setLaenderCode(xkdtazv::LaenderCodes::FRANKREICH);
//
// A country value is the 1-based position of its code in kCountryList.
#ifndef XKDTAZV_CODES_H_
#define XKDTAZV_CODES_H_

#include <cstdint>
#include <string_view>

namespace xkdtazv {

enum class Zahlungsart : std::int32_t {
  STANDARD = 0,
  TELEX_SWIFT = 10,
  EUE = 11,
  EU_STANDART = 13,
  GRENZUEBERSCHREITEND = 15,
};

enum class Weisungsschluessel : std::int32_t {
  BONL = 1,
  CHQB = 2,
  HOLD = 4,
  PHON = 6,
  TELE = 7,
  PHOB = 9,
  TELB = 10,
  CORT = 11,
  INTC = 12,
  EURO_GEGENWERT = 91,
};

enum class LaenderCodes : std::int32_t {
  NONE = 0,
  BELGIEN = 1,
  DAENEMARK = 4,
  ESTLAND = 7,
  FINNLAND = 10,
  FRANKREICH = 13,
  FRANZ_GUAYANA = 16,
  GIBRALTAR = 19,
  GRIECHENLAND = 22,
  GUADELOUPE = 25,
  IRLAND = 28,
  ITALIEN = 31,
  LETTLAND = 34,
  LITAUEN = 37,
  LUXEMBURG = 40,
  MALTA = 43,
  MARTINIQUE = 46,
  NIEDERLANDE = 49,
  OESTERREICH = 52,
  POLEN = 55,
  PORTUGAL = 58,
  REUNION = 61,
  SCHWEDEN = 64,
  SLOWAKEI = 67,
  SLOWENIEN = 70,
  SPANIEN = 73,
  TSCHESCH_REP = 76,
  UNGARN = 79,
  GROSSBRITANIEN = 82,
  ZYPERN = 85,
  DEUTSCHLAND = 88,
};

// The countries of kEuCountryList, with the values of their LaenderCodes namesakes.
enum class AllowedEULaenderCodes : std::int32_t {
  NONE = 0,
  BELGIEN = 1,
  DAENEMARK = 4,
  FINNLAND = 10,
  FRANKREICH = 13,
  FRANZ_GUAYANA = 16,
  GRIECHENLAND = 22,
  GUADELOUPE = 25,
  IRLAND = 28,
  ITALIEN = 31,
  LUXEMBURG = 40,
  MARTINIQUE = 46,
  NIEDERLANDE = 49,
  OESTERREICH = 52,
  PORTUGAL = 58,
  REUNION = 61,
  SCHWEDEN = 64,
  SPANIEN = 73,
  GROSSBRITANIEN = 82,
  DEUTSCHLAND = 88,
};

inline constexpr std::string_view kCountryList =
    "BE,DK,EE,FI,FR,GF,GI,GR,GP,IE,IT,LV,LT,LU,MT,MQ,NL,AT,PL,PT,RE,SE,SK,SI,ES,CZ,HU,GB,CY,DE";

inline constexpr std::string_view kEuCountryList =
    "AT,BE,DK,ES,FI,FR,GB,GF,GP,GR,IE,IT,LU,MQ,NL,PT,RE,SE,DE";

// Hosts may pass an EU country wherever a country is expected.
constexpr LaenderCodes ToLaenderCode(AllowedEULaenderCodes country) noexcept {
  return static_cast<LaenderCodes>(static_cast<std::int32_t>(country));
}

}  // namespace xkdtazv

#endif  // XKDTAZV_CODES_H_

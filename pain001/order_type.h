// The EBICS order types a pain.001 document is uploaded under, and which
// payments go into which.
#ifndef XKDTAZV_PAIN001_ORDER_TYPE_H_
#define XKDTAZV_PAIN001_ORDER_TYPE_H_

#include <cstdint>
#include <string_view>

#include "payment_order/payment_order.h"

namespace xkdtazv::pain001 {

enum class OrderType : std::int32_t {
  kAxz,  // foreign payment: any currency, any country
  kCct,  // SEPA credit transfer
  kCcu,  // urgent euro transfer (Euro-Eilueberweisung)
};

inline constexpr OrderType kOrderTypes[] = {OrderType::kAxz, OrderType::kCct, OrderType::kCcu};

constexpr std::string_view OrderTypeName(OrderType type) noexcept {
  switch (type) {
    case OrderType::kCct:
      return "CCT";
    case OrderType::kCcu:
      return "CCU";
    default:
      return "AXZ";
  }
}

constexpr OrderType OrderTypeOf(payment::PaymentKind kind) noexcept {
  switch (kind) {
    case payment::PaymentKind::kEuStandard:
      return OrderType::kCct;
    case payment::PaymentKind::kEuroSameDay:
      return OrderType::kCcu;
    default:
      return OrderType::kAxz;
  }
}

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_ORDER_TYPE_H_

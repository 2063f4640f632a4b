// The three published classes as automation objects over the core objects.
#ifndef XKDTAZV_AUTOMATION_OBJECTS_H_
#define XKDTAZV_AUTOMATION_OBJECTS_H_

#include <memory>
#include <string>
#include <vector>

#include "automation/object.h"
#include "xkdtazv/dtazv_datei.h"
#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv::detail {

extern const ClassBinding kDtAzvDateiClass;
extern const ClassBinding kGeldTransferClass;
extern const ClassBinding kMeineInfoClass;

// Handed out only by a DtAzvDatei, over that file's own sender.
class MeineInfoObject final : public AutomationObject {
 public:
  explicit MeineInfoObject(std::shared_ptr<MeineInfo> sender);
  MeineInfo& core() { return *sender_; }

 private:
  std::shared_ptr<MeineInfo> sender_;
};

class GeldTransferObject final : public AutomationObject {
 public:
  GeldTransferObject();
  GeldTransfer& core() { return *payment_; }
  const std::shared_ptr<GeldTransfer>& shared() const { return payment_; }

 private:
  std::shared_ptr<GeldTransfer> payment_;
};

class DtAzvDateiObject final : public AutomationObject {
 public:
  DtAzvDateiObject();
  DtAzvDatei& core() { return file_; }
  // The same object every time.
  MeineInfoObject& sender() { return *sender_; }
  // Keeps a reference to the payment (null allowed) for the file's life.
  std::string AddGeldTransfer(Ref<GeldTransferObject> payment);

 private:
  DtAzvDatei file_;
  Ref<MeineInfoObject> sender_;
  std::vector<Ref<GeldTransferObject>> payments_;
};

// The automation object that carries a core class.
template <class Core>
struct ObjectOf;
template <>
struct ObjectOf<DtAzvDatei> {
  using type = DtAzvDateiObject;
};
template <>
struct ObjectOf<GeldTransfer> {
  using type = GeldTransferObject;
};
template <>
struct ObjectOf<MeineInfo> {
  using type = MeineInfoObject;
};

// A member table is applied only to objects of its own class.
template <class Core>
Core& CoreOf(AutomationObject& object) {
  return static_cast<typename ObjectOf<Core>::type&>(object).core();
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_OBJECTS_H_

#include "dialog_accessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>

#include "accessibility.h"
#include "color_slider.h"
#include "skinned_dialog.h"

namespace velmora {

namespace {

// A dialog: named by its title, with its painted words as its description;
// an alert is named by its words.
class DialogAccessible : public QAccessibleWidget {
 public:
  explicit DialogAccessible(SkinnedDialog* dialog)
      : QAccessibleWidget(dialog, dialog->SpokenAsAlert() ? QAccessible::AlertMessage : QAccessible::Dialog) {}

  const SkinnedDialog& Dialog() const { return *static_cast<SkinnedDialog*>(widget()); }

  QString text(QAccessible::Text t) const override {
    const bool alert = Dialog().SpokenAsAlert();
    if (t == QAccessible::Name && alert) {
      const QString words = Dialog().SpokenText();
      return words.isEmpty() ? Dialog().windowTitle() : words;
    }
    if (t == QAccessible::Description && !alert) return Dialog().SpokenText();
    return QAccessibleWidget::text(t);
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

// An owner-drawn control: a push button, a radio button or a check box.
class SkinButtonAccessible : public QAccessibleWidget {
 public:
  explicit SkinButtonAccessible(SkinButton* button) : QAccessibleWidget(button, RoleOf(*button)) {}

  static QAccessible::Role RoleOf(const SkinButton& button) {
    switch (button.Dialog().KindOf(button)) {
      case SkinnedDialog::ControlKind::kRadio: return QAccessible::RadioButton;
      case SkinnedDialog::ControlKind::kCheck: return QAccessible::CheckBox;
      case SkinnedDialog::ControlKind::kPush: break;
    }
    return QAccessible::Button;
  }
  SkinButton& Button() const { return *static_cast<SkinButton*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Button().Dialog().SpokenName(Button());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (role() == QAccessible::Button) {
      state.defaultButton = Button().isDefault();
    } else {
      state.checkable = true;
      state.checked = Button().Dialog().IsOn(Button());
    }
    return state;
  }
  QStringList actionNames() const override {
    QStringList names{role() == QAccessible::Button ? pressAction() : toggleAction()};
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == pressAction() || name == toggleAction()) {
      Button().click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

// A drop-down list of a skinned dialog, named by the label drawn above it.
class ListAccessible : public QAccessibleWidget {
 public:
  explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}
  QComboBox& List() const { return *static_cast<QComboBox*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return List().currentText();
    return QAccessibleWidget::text(t);  // the name it was given
  }
  // The open list, as Qt's own drop-down lists have it.
  int childCount() const override { return List().view() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && List().view() ? QAccessible::queryAccessibleInterface(List().view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == List().view() ? 0 : -1;
  }
  QStringList actionNames() const override { return QStringList{showMenuAction()} + QAccessibleWidget::actionNames(); }
  void doAction(const QString& name) override {
    if (name == showMenuAction()) {
      List().showPopup();
      return;
    }
    QAccessibleWidget::doAction(name);
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

// The colour control: a slider from 0 to 360 degrees.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SliderAccessible(ColorSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}
  ColorSlider& Slider() const { return *static_cast<ColorSlider*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(static_cast<double>(Slider().Hue()), 'f', 0) + " degrees";
    return QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QVariant currentValue() const override { return static_cast<double>(Slider().Hue()); }
  void setCurrentValue(const QVariant& value) override { Slider().SetHue(value.toFloat()); }
  QVariant maximumValue() const override { return static_cast<double>(ColorSlider::kMaximum); }
  QVariant minimumValue() const override { return 0.0; }
  QVariant minimumStepSize() const override { return static_cast<double>(ColorSlider::kStep); }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

QAccessibleInterface* DialogInterfaces(const QString& className, QObject* object) {
  if (className == QLatin1String("velmora::SkinButton"))
    return new SkinButtonAccessible(static_cast<SkinButton*>(object));
  if (className == QLatin1String("velmora::SkinnedDialog"))
    return new DialogAccessible(static_cast<SkinnedDialog*>(object));
  if (className == QLatin1String("velmora::ColorSlider"))
    return new SliderAccessible(static_cast<ColorSlider*>(object));
  if (className == QLatin1String("QComboBox")) {
    auto* list = static_cast<QComboBox*>(object);
    // Only the skinned dialogs' lists, which are named by a painted label.
    if (qobject_cast<SkinnedDialog*>(list->window())) return new ListAccessible(list);
  }
  return nullptr;
}

}  // namespace

void InstallDialogAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(DialogInterfaces);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace velmora

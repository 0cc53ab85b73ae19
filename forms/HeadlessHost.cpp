#include "forms/HeadlessHost.h"

#include <algorithm>

#include "forms/Control.h"

namespace vlt {
namespace {

class HeadlessControl : public ControlView {
 public:
  explicit HeadlessControl(const ControlSpec& spec)
      : text_(spec.text),
        checked_(spec.checked),
        visible_(spec.visible),
        min_(spec.rangeMin),
        max_(spec.rangeMax),
        picture_(spec.picture) {}

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  int Position() const override { return position_; }
  void SetPosition(int position) override { position_ = std::clamp(position, min_, max_); }
  void StepIt() override { position_ = SteppedPosition(position_, kStep, min_, max_); }
  PictureId Picture() const override { return picture_; }
  void SetPicture(PictureId picture) override { picture_ = picture; }

 private:
  static constexpr int kStep = 10;  // the progress control's default step
  std::string text_;
  bool checked_;
  bool enabled_ = true;
  bool visible_;
  int min_, max_;
  int position_ = 0;
  PictureId picture_;
};

class HeadlessForm : public FormView {
 public:
  explicit HeadlessForm(const FormSpec& spec) : caption_(spec.caption) {}

  std::unique_ptr<ControlView> CreateControl(Control&, const ControlSpec& spec) override {
    return std::make_unique<HeadlessControl>(spec);
  }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  bool Visible() const override { return visible_; }

 private:
  std::string caption_;
  bool visible_ = false;
};

}  // namespace

int SteppedPosition(int position, int step, int min, int max) {
  int next = position + step;
  if (next > max && max > min) next = (next - min) % (max - min) + min;
  return next;
}

std::unique_ptr<FormView> HeadlessHost::CreateForm(Form&, const FormSpec& spec) {
  return std::make_unique<HeadlessForm>(spec);
}

}  // namespace vlt

// Fixed-field mode: the marking field, the drawing page and the axis options follow the machine
// model and the field origin that the origin wizard measured. The wizards themselves belong to
// the engraving user interface; they are reached through IOriginWizardRunner.
#pragma once

#include "files/settings.h"
#include "model/geometry.h"

class IOriginWizardRunner {
 public:
  virtual ~IOriginWizardRunner() = default;
  // The fixed-field wizard for a known model (1 to 3): true on Finish, with the origin in machine
  // units (in the jog page's axis order); false on Cancel.
  virtual bool RunFix(int model, int& originX, int& originY) = 0;
  // The general wizard, in which the operator also chooses the model.
  virtual bool Run(int& model, int& originX, int& originY) = 0;
};

// The fixed-field flag.
int IsFieldFixed(const CKorvaneSettings& settings);
// Clearing the flag puts the drawing page back to 42000 x 24000 machine units; setting it again
// does not re-apply the model's values. Returns the flag as it was.
int ToggleFieldFixed(CKorvaneSettings& settings);
// The marking field's size in mm while the field is fixed, else 0 x 0.
CDoubleSize GetFixedFieldSize(const CKorvaneSettings& settings);

// Stores a finished wizard: the model and origin, the fixed-field flag, and the model's axis
// options, drawing page and marking field (offsets 0). A model outside 1 to 3 changes nothing.
void ApplyFixedFieldModel(CKorvaneSettings& settings, int model, int originX, int originY);

// Runs the fixed-field wizard for the model; on Finish stores its result and asks the operator
// to restart (1), on Cancel says so and changes nothing (0).
int RunOriginWizardFix(CKorvaneSettings& settings, int model, IOriginWizardRunner& wizard);
// The origin-wizard command: the fixed-field wizard when the model is known, else the general one.
void RunOriginWizard(CKorvaneSettings& settings, IOriginWizardRunner& wizard);
// At start-up: a known model without a field origin leads the operator through the wizard.
void CheckFieldOrigin(CKorvaneSettings& settings, IOriginWizardRunner& wizard);

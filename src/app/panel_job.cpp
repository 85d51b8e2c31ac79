#include "app/panel_job.h"

#include "app/control_ids.h"
#include "app/panel.h"
#include "base/format_number.h"
#include "domain/result_lengths.h"

namespace korvex {
namespace {

bool Ticked(const Panel& panel, int id) {
  return panel.checkState(id) == 1;
}

}  // namespace

DisplayOptions ReadDisplayOptions(const Panel& panel) {
  return {Ticked(panel, kDisplayGridBox), Ticked(panel, kDisplayMainBox),
          Ticked(panel, kDisplayCutBox)};
}

void ShowResultLengths(Panel& panel, const ResultLengths& lengths) {
  panel.setText(kXLengthField, FormatNumber(lengths.xLength(), "0.000"));
  panel.setText(kYLengthField, FormatNumber(lengths.yLength(), "0.000"));
}

}  // namespace korvex

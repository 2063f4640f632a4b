// The exit statuses of the xkdtazv command, for people and scripts.
#ifndef XKDTAZV_CLI_EXIT_STATUS_H_
#define XKDTAZV_CLI_EXIT_STATUS_H_

namespace xkdtazv::cli {

enum ExitStatus : int {
  kClean = 0,       // generate: "SUCCESS" and a clean inspection; inspect: the file is sound
  kFindings = 1,    // the file was written, or read, and has findings
  kInputError = 2,  // a usage or input error, or no DTAZV file at all; nothing written
  kRunFailed = 3,   // generate: the component's run failed ("Sonstiger Fehler")
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_EXIT_STATUS_H_

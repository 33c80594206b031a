#include <cstdio>
#include <string>

#include "batch.h"
#include "claim.h"
#include "complaint.h"
#include "tool.h"

namespace quorvane::cli {

int fail(std::string_view where, std::string_view reason) {
  std::fprintf(stderr, "%.*s: %.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
               static_cast<int>(where.size()), where.data(), static_cast<int>(reason.size()),
               reason.data());
  return 2;
}

void printUsage() {
  std::string usage =
      "Usage: quorvane-calc [OPTION]... [FILE]\n"
      "       quorvane-calc [--standards FILE] --list-standards\n"
      "       quorvane-calc --help | --version\n"
      "\n"
      "Reads cases as CSV from FILE (or standard input when FILE is absent or -)\n"
      "and writes one CSV row of results per case to standard output.\n"
      "\n"
      "Options:\n"
      "  --encoding NAME   the input's encoding: utf-8 (the default), or gb18030\n"
      "                    (also gbk, gb2312), as Excel saves \"CSV\" on Chinese Windows;\n"
      "                    names are not case-sensitive\n"
      "  --keep COLUMN     copy COLUMN (a case number, a name) as read into the\n"
      "                    output ahead of 提示; repeat it for more columns, which\n"
      "                    come out in the order given\n"
      "  --excel           write the output as Excel opens it: a UTF-8 byte-order\n"
      "                    mark and CRLF line ends\n"
      "  -o, --output FILE write the results to FILE, replacing it only when the\n"
      "                    whole input has been read; on any error or interrupt\n"
      "                    FILE is left as it was\n"
      "  --explain         a readable report per case instead of CSV\n"
      "  --claim           add the claim sheet (赔偿清单) after the 22 results, even\n"
      "                    when the header names none of its inputs\n"
      "\n"
      "The first row names the input fields, any of them in any order; a field\n"
      "the header does not name is empty in every case. Any other column must be\n"
      "named by --keep: an unknown name is refused, as it is most often a field\n"
      "name misspelt. Input fields:\n";
  for (const auto& field : quorvane::inputFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Claim sheet inputs (any of them in the header turns the claim sheet on):\n";
  for (const auto& field : quorvane::claim::claimFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Complaint inputs (起诉状), read and never checked: they change no result:\n";
  for (const auto& field : quorvane::complaint::complaintFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Output columns: the kept columns, 提示 (the stop message or the notice),\n"
      "then the 22 results; with the claim sheet, 清单提示 (why the sheet was\n"
      "refused, or nothing), its items and 清单合计 to the fen, then who pays:\n"
      "交强险医疗费用, 交强险死亡伤残, 交强险合计, 剩余损失, 责任方承担,\n"
      "商业三者险, 侵权人, 受害人自担; then 清单后续护理费, 清单后续治疗费,\n"
      "清单财产损失, 清单鉴定费, 交强险财产损失, and for vehicles 1 to 3 in turn\n"
      "车辆N交强险赔付, 车辆N责任方承担, 车辆N商业三者险, 车辆N侵权人 (0.00 for a\n"
      "vehicle not taking part); last 案件受理费, the court fee on 交强险合计 +\n"
      "责任方承担 (诉讼费用交纳办法 art. 13), halved when 简易程序 is \"是\" (any\n"
      "other text than \"是\" or empty refuses the sheet). A refused sheet leaves\n"
      "its amounts empty and changes neither the 22 results nor the exit status.\n"
      "With --explain, a readable report per case instead: the kept columns,\n"
      "the inputs, the accident year's standards and every amount with its\n"
      "working; with the claim sheet, its section 【赔偿清单】 too, the court\n"
      "fee under its table.\n"
      "\n"
      "When standard error is a terminal and the run lasts more than a second,\n"
      "one line there shows the cases done, the share of the input read and the\n"
      "cases per second.\n"
      "\n"
      "Standards: the built-in table covers the accident years 2011 and 2012; any\n"
      "other year gives the notice 请升级 with its table items at 0. A standards\n"
      "file adds years. It is read from $XDG_CONFIG_HOME/quorvane/standards.csv\n"
      "(~/.config/quorvane/standards.csv when XDG_CONFIG_HOME is unset), the same\n"
      "file the window reads, or from FILE with --standards FILE. It is a UTF-8\n"
      "CSV whose first row names the columns 年度, 城镇居民人均可支配收入,\n"
      "城镇居民人均消费性支出, 住院伙食补助标准, 住宿补助标准 and optionally\n"
      "职工平均工资 (the average yearly wage of workers) and 来源 (where the\n"
      "figures come from), in any order; then one row per year: four digits, two\n"
      "whole yuan amounts (0 to 2147483647), two daily rates (0 to 32767) and the\n"
      "wage in whole yuan (0 to 2147483647, or empty for none). The built-in\n"
      "years cannot be replaced, and a year stands once.\n"
      "  --standards FILE   read FILE instead of the user's standards file\n"
      "  --list-standards   print the standards in force (built-in rows, then the\n"
      "                     file's) as CSV in the file's format, and exit\n"
      "\n"
      "Exit status: 0 when every case was read; 2 when the input or the standards\n"
      "file cannot be read (the error names the file and line, and nothing is\n"
      "written).\n"
      "\n"
      "Example: an Excel sheet with a 案号 column beside the inputs, saved as\n"
      "\"CSV (逗号分隔)\" on a Chinese system:\n"
      "  quorvane-calc --encoding gb18030 --keep 案号 --excel -o results.csv cases.csv\n"
      "results.csv then opens in Excel with 案号 as its first column.\n";
  std::fputs(usage.c_str(), stdout);
}

}  // namespace quorvane::cli

// wexmora-coverage: how many of the sample's x86 machines the model-number
// reader and the extended table answer, and how often the row's cores,
// threads and L3 agree with what the machines report.
//
// Usage: wexmora-coverage MACHINES.tsv [--misses N] [--disagreements N]
//
// MACHINES.tsv has a header line naming at least brand, vendor, family,
// model, probes, cores, threads and l3_mib. Every figure is weighted by
// probes. lscpu's known quirks count as agreement: a module of AMD family 21
// reported as one core with two threads, L3 given per core complex or die
// (AMD families 16, 21, 23, 25), and hyper-threading switched off.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/extended_table.h"
#include "identify/model_number.h"

namespace {

using namespace wexmora;

struct Machine {
  std::string brand, vendor;
  int family = -1, model = -1;
  long probes = 0;
  int cores = -1, threads = -1;
  double l3 = -1;
};

int integer(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

double decimal(std::string_view text) {
  if (text.empty()) return -1;
  try {
    std::size_t used = 0;
    const double value = std::stod(std::string(text), &used);
    return used == text.size() ? value : -1;
  } catch (const std::exception&) {
    return -1;
  }
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) out.push_back(field);
  if (!line.empty() && line.back() == '\t') out.emplace_back();
  return out;
}

std::optional<std::vector<Machine>> readMachines(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) {
    std::cerr << path << ": cannot be read\n";
    return std::nullopt;
  }
  const std::vector<std::string> header = splitTabs(line);
  std::map<std::string, std::size_t> column;
  for (std::size_t i = 0; i < header.size(); ++i) column[header[i]] = i;
  for (const char* name : {"brand", "vendor", "family", "model", "probes", "cores", "threads", "l3_mib"}) {
    if (!column.count(name)) {
      std::cerr << path << ": no column " << name << "\n";
      return std::nullopt;
    }
  }
  std::vector<Machine> machines;
  for (std::size_t number = 2; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    const std::vector<std::string> f = splitTabs(line);
    if (f.size() != header.size()) {
      std::cerr << path << ":" << number << ": " << f.size() << " fields, expected " << header.size() << "\n";
      return std::nullopt;
    }
    Machine m{f[column["brand"]],
              f[column["vendor"]],
              integer(f[column["family"]]),
              integer(f[column["model"]]),
              integer(f[column["probes"]]),
              integer(f[column["cores"]]),
              integer(f[column["threads"]]),
              decimal(f[column["l3_mib"]])};
    if (m.probes < 0) {
      std::cerr << path << ":" << number << ": probes is not a number\n";
      return std::nullopt;
    }
    machines.push_back(std::move(m));
  }
  return machines;
}

// Megabytes of a row's "8 Mb", or -1.
double rowMegabytes(std::string_view text) {
  if (!text.ends_with(" Mb")) return -1;
  return decimal(text.substr(0, text.size() - 3));
}

// Why the row and the machine disagree, or the empty text.
std::string disagreement(const ExtendedRow& row, const Machine& m) {
  const int cores = integer(row.cores);
  const int threads = integer(row.threads);
  std::string why;
  const bool amdModules = m.vendor == "AMD" && m.family == 21;
  if (cores > 0 && m.cores > 0) {
    const bool same = cores == m.cores;
    const bool module = amdModules && m.cores * 2 == cores;
    if (!same && !module) why += " cores " + std::string(row.cores) + "/" + std::to_string(m.cores);
  }
  if (threads > 0 && m.threads > 0) {
    const bool same = threads == m.threads;
    const bool hyperThreadingOff = m.threads == m.cores && threads == 2 * cores;
    if (!same && !hyperThreadingOff) why += " threads " + std::string(row.threads) + "/" + std::to_string(m.threads);
  }
  const double l3 = rowMegabytes(row.l3Cache);
  if (l3 > 0 && m.l3 > 0 && l3 != m.l3) {
    // Zen gives L3 per core complex (a whole part of the row's); Opteron of
    // families 16 and 21 per die, less what the probe filter reserves.
    const bool perComplex = m.vendor == "AMD" && m.family >= 23 && m.l3 < l3 &&
                            static_cast<long>(l3 * 1024) % static_cast<long>(m.l3 * 1024) == 0;
    const bool perDie = m.vendor == "AMD" && (m.family == 16 || m.family == 21) && m.l3 < l3;
    if (!perComplex && !perDie) {
      std::ostringstream machine;
      machine << m.l3;
      why += " L3 " + std::string(row.l3Cache) + "/" + machine.str() + " MiB";
    }
  }
  return why;
}

struct Tally {
  long total = 0, read = 0, answered = 0, compared = 0, agreed = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: wexmora-coverage MACHINES.tsv [--misses N] [--disagreements N]\n";
    return 2;
  }
  std::size_t misses = 20, disagreements = 20;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = integer(argv[i + 1]);
    if (value < 0 || (option != "--misses" && option != "--disagreements")) {
      std::cerr << "wexmora-coverage: unknown option or value " << option << " " << argv[i + 1] << "\n";
      return 2;
    }
    (option == "--misses" ? misses : disagreements) = static_cast<std::size_t>(value);
  }
  const auto machines = readMachines(argv[1]);
  if (!machines) return 1;

  Tally all;
  std::map<std::string, Tally> byVendor;
  std::vector<std::pair<const Machine*, std::string>> unanswered, disagreeing;
  for (const Machine& m : *machines) {
    if (m.vendor != "Intel" && m.vendor != "AMD" && m.vendor != "VIA") continue;
    Tally& vendor = byVendor[m.vendor];
    all.total += m.probes;
    vendor.total += m.probes;
    std::optional<FamilyModel> identity;
    if (m.family >= 0 && m.model >= 0) identity = FamilyModel{m.family, m.model};
    const auto reading = readModelNumber(m.brand, identity);
    if (!reading) {
      unanswered.emplace_back(&m, "no model number read");
      continue;
    }
    all.read += m.probes;
    vendor.read += m.probes;
    const auto row = findExtendedRow(reading->vendor, reading->key);
    if (!row) {
      unanswered.emplace_back(&m, "no row for \"" + reading->key + "\" (rule " + std::string(reading->rule) + ")");
      continue;
    }
    all.answered += m.probes;
    vendor.answered += m.probes;
    if (integer(row->cores) <= 0 && integer(row->threads) <= 0 && rowMegabytes(row->l3Cache) <= 0) continue;
    all.compared += m.probes;
    vendor.compared += m.probes;
    const std::string why = disagreement(*row, m);
    if (why.empty()) {
      all.agreed += m.probes;
      vendor.agreed += m.probes;
    } else {
      disagreeing.emplace_back(&m, "\"" + reading->key + "\":" + why);
    }
  }

  const auto share = [](long part, long whole) { return whole ? 100.0 * part / whole : 0.0; };
  const auto print = [&](const std::string& name, const Tally& t) {
    std::printf(
        "%-6s %6ld machines: model number read %5.1f %%, table row %5.1f %%; cores/threads/L3 agree %5.1f %% of %ld\n",
        name.c_str(), t.total, share(t.read, t.total), share(t.answered, t.total), share(t.agreed, t.compared),
        t.compared);
  };
  print("x86", all);
  for (const auto& [name, tally] : byVendor) print(name, tally);

  const auto byProbes = [](const auto& a, const auto& b) {
    return a.first->probes != b.first->probes ? a.first->probes > b.first->probes : a.first->brand < b.first->brand;
  };
  std::sort(unanswered.begin(), unanswered.end(), byProbes);
  std::sort(disagreeing.begin(), disagreeing.end(), byProbes);
  std::printf("\nMost common machines without a table row:\n");
  for (std::size_t i = 0; i < std::min(misses, unanswered.size()); ++i)
    std::printf("%6ld  %s  [%s]\n", unanswered[i].first->probes, unanswered[i].first->brand.c_str(),
                unanswered[i].second.c_str());
  std::printf("\nMost common machines whose row disagrees (row/machine):\n");
  for (std::size_t i = 0; i < std::min(disagreements, disagreeing.size()); ++i)
    std::printf("%6ld  %s  [%s]\n", disagreeing[i].first->probes, disagreeing[i].first->brand.c_str(),
                disagreeing[i].second.c_str());
  return 0;
}

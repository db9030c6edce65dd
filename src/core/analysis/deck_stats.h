// The statistics of the analysed deck: plain named counters, filled by
// ComputeDeckStatistics and read by the chances, the problem rules, the main
// window and the CLI. Every count counts copies. The integer fields come
// first and are listed by name in StatFields(), which the window model and the
// CLI use to show them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct TDeckStats {
  // Card types and rarities.
  std::int32_t TotalAmount = 0;         // cards that are not HQs
  std::int32_t AssetAmount = 0;         // assets
  std::int32_t BaseAmount = 0;          // bases
  std::int32_t EnhanceAmount = 0;       // enhancements
  std::int32_t IntervenAmount = 0;      // interventions
  std::int32_t ProgAmount = 0;          // programs
  std::int32_t HQAmount = 0;            // HQ cards of every HQ line
  std::int32_t VRareAmount = 0;         // non-HQ very rares
  std::int32_t RareAmount = 0;          // non-HQ rares
  std::int32_t UncommonAmount = 0;      // non-HQ uncommons
  std::int32_t CommonAmount = 0;        // non-HQ commons
  std::int32_t TopDeckAmount = 0;       // Topdeck cards of any type, HQs included
  std::int32_t TopDeckAssetAmount = 0;  // Topdeck assets
  std::int32_t TopDeckBaseAmount = 0;   // Topdeck bases

  // Asset keywords.
  std::int32_t MechAmount = 0;         // Mech. assets
  std::int32_t AntiTerAmount = 0;      // AntiTerrorism assets
  std::int32_t SaboAmount = 0;         // Sabotage assets
  std::int32_t FirstStrikeAmount = 0;  // FirstStrike assets
  std::int32_t LauncherAmount = 0;     // Launcher assets
  std::int32_t DebtorAmount = 0;       // Debtor assets
  std::int32_t YakusaAmount = 0;       // Yakusa assets
  std::int32_t PilotAmount = 0;        // Pilot assets
  std::int32_t SpearHeadAmount = 0;    // Spearhead assets
  std::int32_t VeteranAmount = 0;      // Veteran assets
  std::int32_t UniqueAmount = 0;       // Unique assets
  std::int32_t ArcticAmount = 0;       // Arctic assets
  std::int32_t AlphaAmount = 0;        // Alpha assets

  // Enhancement keywords.
  std::int32_t GearAmount = 0;     // Gear enhancements
  std::int32_t StimAmount = 0;     // Stimulant enhancements
  std::int32_t ImplantAmount = 0;  // Implant enhancements
  std::int32_t VirusAmount = 0;    // Virus enhancements
  std::int32_t MissileAmount = 0;  // Missile enhancements
  std::int32_t StructAmount = 0;   // Structure enhancements
  std::int32_t ItemAmount = 0;     // Item enhancements

  // Intervention keywords.
  std::int32_t GlobalAmount = 0;   // Global interventions
  std::int32_t LocalAmount = 0;    // Local interventions
  std::int32_t DirectAmount = 0;   // Direct interventions
  std::int32_t VictoryAmount = 0;  // Victory interventions

  // Program keywords.
  std::int32_t WormAmount = 0;     // Worm programs
  std::int32_t DaemonAmount = 0;   // Daemon programs
  std::int32_t ConstAmount = 0;    // Construct programs
  std::int32_t IceAmount = 0;      // Ice programs
  std::int32_t CommandAmount = 0;  // Command programs

  // Domains of every card, HQs included.
  std::int32_t AllUNAmount = 0;           // UN cards
  std::int32_t AllFUSAmount = 0;          // FUS cards
  std::int32_t AllMonasAmount = 0;        // Monastery cards
  std::int32_t AllCorpAmount = 0;         // Corporate cards
  std::int32_t AllNoNamesAmount = 0;      // Nonames cards
  std::int32_t AllInnerCircleAmount = 0;  // Inner Circle cards
  std::int32_t AllTranscendAmount = 0;    // Transcendent cards
  // Domains of assets only.
  std::int32_t AssetUNAmount = 0;           // UN assets
  std::int32_t AssetFUSAmount = 0;          // FUS assets
  std::int32_t AssetMonasAmount = 0;        // Monastery assets
  std::int32_t AssetCorpAmount = 0;         // Corporate assets
  std::int32_t AssetNoNamesAmount = 0;      // Nonames assets
  std::int32_t AssetInnerCircleAmount = 0;  // Inner Circle assets
  std::int32_t AssetTranscendAmount = 0;    // Transcendent assets

  // Bases and production.
  std::int32_t MilBAmount = 0;       // bases producing Military
  std::int32_t CovBAmount = 0;       // bases producing Covert
  std::int32_t CybBAmount = 0;       // bases producing CyberOps
  std::int32_t OtherBaseAmount = 0;  // bases producing nothing
  std::int32_t TotalMilAmount = 0;   // Military produced over a game
  std::int32_t TotalCovAmount = 0;   // Covert produced over a game
  std::int32_t TotalCybAmount = 0;   // CyberOps produced over a game

  // Asset and program values.
  std::int32_t OffenceAmount = 0;     // assets able to attack
  std::int32_t HighFP = 0;            // highest Firepower of those
  std::int32_t FPSum = 0;             // their Firepower, summed
  std::int32_t AverageFP = 0;         // FPSum / OffenceAmount, rounded
  std::int32_t HighStealth = 0;       // highest asset Stealth
  std::int32_t HighPercep = 0;        // highest asset Perception
  std::int32_t HighACA = 0;           // highest asset CyberAffinity
  std::int32_t ProgrammerAmount = 0;  // assets of CyberAffinity 2 or more
  std::int32_t ACASum = 0;            // their CyberAffinity, summed
  std::int32_t AverageACA = 0;        // ACASum / ProgrammerAmount, rounded
  std::int32_t ImmobileAmount = 0;    // assets that move for no cost "0" at all
  std::int32_t HighPCA = 0;           // highest program CyberAffinity
  std::int32_t PCASum = 0;            // program CyberAffinity, summed
  std::int32_t AveragePCA = 0;        // PCASum / ProgAmount, rounded
  std::int32_t OtherEnhAmount = 0;    // enhancements without a counted keyword

  // Deployment costs.
  std::int32_t AssetMilCost = 0;     // assets, Military
  std::int32_t AssetCovCost = 0;     // assets, Covert
  std::int32_t AssetCybCost = 0;     // assets, CyberOps
  std::int32_t EnhMilCost = 0;       // enhancements, Military
  std::int32_t EnhCovCost = 0;       // enhancements, Covert
  std::int32_t EnhCybCost = 0;       // enhancements, CyberOps
  std::int32_t IntervenMilCost = 0;  // interventions, Military
  std::int32_t IntervenCovCost = 0;  // interventions, Covert
  std::int32_t IntervenCybCost = 0;  // interventions, CyberOps
  std::int32_t ProgMilCost = 0;      // programs, Military
  std::int32_t ProgCovCost = 0;      // programs, Covert
  std::int32_t ProgCybCost = 0;      // programs, CyberOps

  // Contracts and the assets they can sacrifice.
  std::int32_t ArmsExportAmount = 0;      // "Arms Export Contract"
  std::int32_t CovertOpsAmount = 0;       // "Covert Ops Contract"
  std::int32_t SoftMaintAmount = 0;       // "Software Maintenance Contract"
  std::int32_t YakusaContractAmount = 0;  // "Yakusa Contract"
  std::int32_t MilSacrificeAmount = 0;    // military assets of Firepower 5 or more
  std::int32_t CovSacrificeAmount = 0;    // covert assets of Stealth 3 or more
  std::int32_t CybSacrificeAmount = 0;    // cyberops assets of CyberAffinity 4 or more

  // Opening-hand chances shown in percent.
  std::int32_t NoAssets = 0;    // chance of a hand without assets
  std::int32_t NoBases = 0;     // chance of a hand without bases
  std::int32_t SelectCard = 0;  // chance of drawing the selected card list line

  bool HQFound = false;                     // an HQ line has been read
  std::string HQType;                       // the first HQ's name, or "Normal"
  std::vector<std::string> OverLimitNames;  // lines of 5 copies or more, bar common bases
};

// One integer statistic by name.
struct StatField {
  std::string_view name;
  std::int32_t TDeckStats::*member;
};

// Every integer of TDeckStats, in declaration order.
const std::vector<StatField>& StatFields();
// The integer statistic called `name`, or nullptr.
const std::int32_t* FindStat(const TDeckStats& stats, std::string_view name);

// Every figure 0, no HQ, no over-limit name.
void ResetStatistics(TDeckStats& stats);

// OtherEnhAmount, AverageFP, AverageACA and AveragePCA from the sums and
// counts. Throws when an average's sum is positive and its divisor 0 (only
// negative copy counts allow that) or a result leaves the 32-bit range.
void ComputeDerivedValues(TDeckStats& stats);

// `num` / `den` rounded to the nearest integer, halves to the even neighbour.
// `den` must not be 0.
std::int64_t RoundedRatio(std::int64_t num, std::int64_t den);

}  // namespace quillet

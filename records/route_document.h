// The route document (".q3v"): the voyage, the chart list and the reporting points, in that
// order, each in its own layout, with nothing between or after them.
#pragma once

namespace keelmark {

class Archive;
class ChartList;
class ReportingPointList;
class Voyage;

// Both directions, as the document reads and writes its file: the voyage's Version is set to 4
// first, so the file always carries the version field and (from version 4 on) the note.
void SerializeRouteDocument(Archive& archive, Voyage& voyage, ChartList& charts,
                            ReportingPointList& reportingPoints);

// Both directions, every part in the layout the file holds (older weather blocks, older chart
// records, the stored version), for dump and build that give files back byte for byte.
void SerializeRouteDocumentAsStored(Archive& archive, Voyage& voyage, ChartList& charts,
                                    ReportingPointList& reportingPoints);

}  // namespace keelmark

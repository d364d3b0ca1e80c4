#include "protocols/ethernet_it/UIEC_Client_Decode.h"

#include <algorithm>
#include <optional>

#include "platform/Files.h"

namespace {

// Element children of Node in document order; comments and text are skipped.
template <class F>
void ForEachElement(TXMLNode Node, F&& Each) {
  for (TXMLNode c = Node ? Node.ChildNodes().First() : TXMLNode(); c; c = c.NextSibling())
    if (c.NodeType() == ntElement) Each(c);
}

TXMLNode FirstElement(TXMLNode Node, const String& Name) {
  for (TXMLNode c = Node ? Node.ChildNodes().First() : TXMLNode(); c; c = c.NextSibling())
    if (c.NodeType() == ntElement && SclLocalName(c) == Name) return c;
  return {};
}

String Attr(TXMLNode Node, const char16_t* Name) { return Node.AttributeDef(Name, String()); }

// The named attributes of Node read in one pass, unset when missing. Valid until the next call:
// take the values before decoding further down.
std::vector<std::optional<String>>& Attrs(TXMLNode Node, const std::vector<String>& Names) {
  thread_local std::vector<std::optional<String>> values;
  Node.AttributeValues(Names, values);
  return values;
}

String Take(std::optional<String>& Value) { return Value ? std::move(*Value) : String(); }

// Parent + Separator + Name in one allocation.
String Join(const String& Parent, char16_t Separator, const String& Name) {
  String s;
  s.reserve(Parent.size() + 1 + Name.size());
  s += Parent;
  s += Separator;
  s += Name;
  return s;
}

// "A.phsA" -> {"A", "phsA"}.
std::vector<String> Path(const String& Dotted) {
  std::vector<String> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = Dotted.find(u'.', start);
    parts.push_back(Dotted.substr(start, dot == String::npos ? String::npos : dot - start));
    if (dot == String::npos) return parts;
    start = dot + 1;
  }
}

template <class T>
T* Named(const std::vector<std::unique_ptr<T>>& List, const String& Name) {
  for (const auto& p : List)
    if (p->Name() == Name) return p.get();
  return nullptr;
}

// Children first to last, freed last to first.
template <class T>
void FreeBackwards(std::vector<std::unique_ptr<T>>& List) {
  while (!List.empty()) List.pop_back();
}

const std::vector<TXMLNode> kNoTypes;

}  // namespace

String SclLocalName(TXMLNode Node) {
  String n = Node.NodeName();
  const size_t colon = n.find(u':');
  return colon == String::npos ? n : n.substr(colon + 1);
}

// ---------------------------------------------------------------------------------------------
TSclTemplates::TSclTemplates(TXMLNode DTT) {
  ForEachElement(DTT, [&](TXMLNode t) {
    const String kind = SclLocalName(t);
    TIndex* index = kind == u"LNodeType" ? &FLNodeTypes
                    : kind == u"DOType"  ? &FDOTypes
                    : kind == u"DAType"  ? &FDATypes
                                         : nullptr;
    if (index) (*index)[Attr(t, u"id")].push_back(t);
  });
}

const std::vector<TXMLNode>& TSclTemplates::Find(const TIndex& Index, const String& Id) {
  const auto it = Index.find(Id);
  return it == Index.end() ? kNoTypes : it->second;
}

bool TSclTemplates::Enter(const std::vector<TXMLNode>& Types) {
  if (std::find(FPath.begin(), FPath.end(), &Types) != FPath.end()) return false;
  FPath.push_back(&Types);
  return true;
}

void TSclTemplates::Leave() { FPath.pop_back(); }

// ---------------------------------------------------------------------------------------------
TIEC_DA::~TIEC_DA() { FreeBackwards(FList_DA); }

void TIEC_DA::Decode_DA(TXMLNode DA, TSclTemplates& DTT, const String& str_Reference, const String& FC_Father) {
  static const std::vector<String> kNames{u"name", u"bType", u"fc", u"type"};
  auto& v = Attrs(DA, kNames);
  fName = Take(v[0]);
  fReference = Join(str_Reference, u'.', fName);
  fbType = Take(v[1]);
  fFC = v[2] ? std::move(*v[2]) : FC_Father;
  if (!v[3] || fbType == u"Enum") return;
  const std::vector<TXMLNode>& types = DTT.DATypes(*v[3]);
  if (types.empty() || !DTT.Enter(types)) return;
  for (TXMLNode t : types)
    ForEachElement(t, [&](TXMLNode b) {
      if (SclLocalName(b) != u"BDA") return;
      FList_DA.push_back(std::make_unique<TIEC_DA>());
      FList_DA.back()->Decode_DA(b, DTT, fReference, fFC);
    });
  DTT.Leave();
}

TIEC_DA* TIEC_DA::Find_DA(const String& DA_Name) const {
  for (const auto& a : FList_DA) {
    if (a->Name() == DA_Name) return a.get();
    if (TIEC_DA* sub = a->Find_DA(DA_Name)) return sub;
  }
  return nullptr;
}

TIEC_DA* TIEC_DA::Find_First_DA() {
  TIEC_DA* a = this;
  while (!a->FList_DA.empty()) a = a->FList_DA.front().get();
  return a;
}

// ---------------------------------------------------------------------------------------------
TIEC_DO::~TIEC_DO() {
  FreeBackwards(FList_DA);
  FreeBackwards(FList_DO);
}

void TIEC_DO::Decode_DO(TXMLNode NDO, TSclTemplates& DTT, const String& str_Reference) {
  static const std::vector<String> kNames{u"name", u"type"};
  auto& v = Attrs(NDO, kNames);
  fName = Take(v[0]);
  const String type = Take(v[1]);
  if (type.empty()) return;
  const std::vector<TXMLNode>& types = DTT.DOTypes(type);
  if (types.empty() || !DTT.Enter(types)) return;
  const String reference = Join(str_Reference, u'.', fName);
  for (TXMLNode t : types)
    ForEachElement(t, [&](TXMLNode c) {
      const String kind = SclLocalName(c);
      if (kind == u"SDO") {
        FList_DO.push_back(std::make_unique<TIEC_DO>());
        FList_DO.back()->Decode_DO(c, DTT, reference);
      } else if (kind == u"DA") {
        FList_DA.push_back(std::make_unique<TIEC_DA>());
        FList_DA.back()->Decode_DA(c, DTT, reference, String());
      }
    });
  DTT.Leave();
}

TIEC_DO* TIEC_DO::Find_DO(const String& DO_Name) const {
  for (const auto& d : FList_DO) {
    if (d->Name() == DO_Name) return d.get();
    if (TIEC_DO* sub = d->Find_DO(DO_Name)) return sub;
  }
  return nullptr;
}

TIEC_DA* TIEC_DO::Find_DA(const String& DA_Name) const {
  for (const auto& a : FList_DA) {
    if (a->Name() == DA_Name) return a.get();
    if (TIEC_DA* sub = a->Find_DA(DA_Name)) return sub;
  }
  return nullptr;
}

TIEC_DA* TIEC_DO::Find_First_DA() const { return FList_DA.empty() ? nullptr : FList_DA.front()->Find_First_DA(); }

// ---------------------------------------------------------------------------------------------
void TIEC_DataSet::Decode_DataSet(TXMLNode DataSet, const String& str_Reference, TIEC_Device* IEC_Device) {
  fName = Attr(DataSet, u"name");
  fReference = Join(str_Reference, u'.', fName);
  ForEachElement(DataSet, [&](TXMLNode f) {
    if (SclLocalName(f) != u"FCDA") return;
    // The member is named by device, prefix, class and instance of its node, and by a dotted path
    // through sub-data objects and sub-attributes.
    static const std::vector<String> kNames{u"ldInst", u"prefix", u"lnClass", u"lnInst", u"doName", u"daName"};
    auto& v = Attrs(f, kNames);
    const String ldInst = Take(v[0]), prefix = Take(v[1]), lnClass = Take(v[2]), lnInst = Take(v[3]);
    const String doName = Take(v[4]), daName = Take(v[5]);
    TIEC_LDevice* ld = ldInst.empty() ? nullptr : IEC_Device->Find_LDevice(ldInst);
    TIEC_LN* ln = ld ? ld->Find_LN(prefix, lnClass, lnInst) : nullptr;
    if (!ln || doName.empty()) return;
    const std::vector<String> doPath = Path(doName);
    TIEC_DO* d = Named(ln->List_DO(), doPath[0]);
    if (!d && doPath.size() == 1) d = ln->Find_DO(doName);
    for (size_t i = 1; d && i < doPath.size(); ++i) d = Named(d->List_DO(), doPath[i]);
    if (!d) return;
    TIEC_DA* a = nullptr;
    if (daName.empty()) {
      a = d->Find_First_DA();
    } else {
      const std::vector<String> daPath = Path(daName);
      a = Named(d->List_DA(), daPath[0]);
      if (!a && daPath.size() == 1) a = d->Find_DA(daName);
      for (size_t i = 1; a && i < daPath.size(); ++i) a = Named(a->List_DA(), daPath[i]);
    }
    if (a) FList_DA.push_back(a);
  });
}

// ---------------------------------------------------------------------------------------------
TIEC_LN::~TIEC_LN() {
  FreeBackwards(FList_DataSet);
  FreeBackwards(FList_DO);
}

void TIEC_LN::Decode_LN(TXMLNode LN, TSclTemplates& DTT, const String& str_Reference) {
  static const std::vector<String> kNames{u"lnClass", u"lnType", u"prefix", u"inst"};
  auto& v = Attrs(LN, kNames);
  flnClass = Take(v[0]);
  flnType = Take(v[1]);
  fPrefix = Take(v[2]);
  fInst = Take(v[3]);
  const String reference = str_Reference + u"/" + fPrefix + flnClass + fInst;
  if (flnType.empty()) return;
  for (TXMLNode t : DTT.LNodeTypes(flnType))
    ForEachElement(t, [&](TXMLNode d) {
      if (SclLocalName(d) != u"DO") return;
      FList_DO.push_back(std::make_unique<TIEC_DO>());
      FList_DO.back()->Decode_DO(d, DTT, reference);
    });
}

void TIEC_LN::Decode_LN_DataSet(TXMLNode LN, const String& str_Reference, TIEC_Device* IEC_Device) {
  const String base = str_Reference + u"/" + Attr(LN, u"lnClass");
  if (Attr(LN, u"lnType").empty()) return;
  ForEachElement(LN, [&](TXMLNode c) {
    if (SclLocalName(c) != u"DataSet") return;
    FList_DataSet.push_back(std::make_unique<TIEC_DataSet>());
    FList_DataSet.back()->Decode_DataSet(c, base, IEC_Device);
  });
  ForEachElement(LN, [&](TXMLNode c) {
    if (SclLocalName(c) == u"GSEControl") Decode_LN_Goose(c);
  });
}

void TIEC_LN::Decode_LN_Goose(TXMLNode LN) {
  const String name = Attr(LN, u"name"), datSet = Attr(LN, u"datSet");
  if (name.empty() || datSet.empty()) return;
  if (TIEC_DataSet* ds = Named(FList_DataSet, datSet)) ds->SetGooseName(name);
}

TIEC_DO* TIEC_LN::Find_DO(const String& DO_Name) const {
  for (const auto& d : FList_DO) {
    if (d->Name() == DO_Name) return d.get();
    if (TIEC_DO* sub = d->Find_DO(DO_Name)) return sub;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
TIEC_LDevice::~TIEC_LDevice() { FreeBackwards(FList_LN); }

void TIEC_LDevice::Decode_LDevice(TXMLNode LDevice, TSclTemplates& DTT, const String& str_Reference, bool DataSetSearch,
                                  TIEC_Device* IEC_Device) {
  if (LDevice.HasAttribute(u"inst")) fName = LDevice.Attributes(u"inst");
  const String reference = str_Reference + fName;
  size_t k = 0;
  ForEachElement(LDevice, [&](TXMLNode n) {
    const String kind = SclLocalName(n);
    if (kind != u"LN0" && kind != u"LN") return;
    if (!DataSetSearch) {
      FList_LN.push_back(std::make_unique<TIEC_LN>());
      FList_LN.back()->Decode_LN(n, DTT, reference);
    } else if (k < FList_LN.size()) {
      FList_LN[k]->Decode_LN_DataSet(n, reference, IEC_Device);
    }
    ++k;
  });
}

TIEC_LN* TIEC_LDevice::Find_LN(const String& LN_Class) const {
  for (const auto& n : FList_LN)
    if (n->lnClass() == LN_Class) return n.get();
  return nullptr;
}

TIEC_LN* TIEC_LDevice::Find_LN(const String& Prefix, const String& LN_Class, const String& Inst) const {
  for (const auto& n : FList_LN)
    if (n->lnClass() == LN_Class && n->Prefix() == Prefix && n->Inst() == Inst) return n.get();
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
TIEC_Device::TIEC_Device(const String& FileName_icd) {
  fFileName = ExtractFileName(FileName_icd);
  Decode_Device(FileName_icd);
}

TIEC_Device::~TIEC_Device() { FreeBackwards(FList_LDevice); }

void TIEC_Device::Decode_Device(const String& FileName_icd) {
  if (!FileExists(FileName_icd)) return;
  TXMLDocument doc;
  doc.LoadFromFile(FileName_icd);
  TXMLNode scl;
  for (TXMLNode c = doc.ChildNodes().First(); c && !scl; c = c.NextSibling())
    if (c.NodeType() == ntElement && SclLocalName(c) == u"SCL") scl = c;
  const TXMLNode ied = FirstElement(scl, u"IED");
  const TXMLNode dttNode = FirstElement(scl, u"DataTypeTemplates");
  if (!ied || !dttNode) return;
  fName = Attr(ied, u"name");
  const TXMLNode server = FirstElement(FirstElement(ied, u"AccessPoint"), u"Server");
  if (!server) return;
  TSclTemplates dtt(dttNode);
  ForEachElement(server, [&](TXMLNode l) {
    if (SclLocalName(l) != u"LDevice") return;
    FList_LDevice.push_back(std::make_unique<TIEC_LDevice>());
    FList_LDevice.back()->Decode_LDevice(l, dtt, fName, false, this);
  });
  // Data sets only now: a member may lie in a logical device that comes later in the file.
  size_t k = 0;
  ForEachElement(server, [&](TXMLNode l) {
    if (SclLocalName(l) != u"LDevice") return;
    if (k < FList_LDevice.size()) FList_LDevice[k]->Decode_LDevice(l, dtt, fName, true, this);
    ++k;
  });
}

TIEC_LDevice* TIEC_Device::Find_LDevice(const String& LD_Name) const {
  for (const auto& l : FList_LDevice)
    if (l->Name() == LD_Name) return l.get();
  return nullptr;
}

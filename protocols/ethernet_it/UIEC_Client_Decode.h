#pragma once
// The first IED of an SCL file (scd, ssd, sed, icd, iid, cid) as a read-only object tree:
// logical devices, logical nodes, data objects, data attributes with their full references, and
// data sets with their members and GOOSE control block names.
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Classes.h"
#include "platform/UString.h"
#include "platform/XMLDoc.h"

class TIEC_Device;
class TIEC_DA;
class TTreeNode;

// The type elements of a DataTypeTemplates section by kind and id, every match in document order,
// so that resolving a type costs one look-up instead of a walk over all templates. It also keeps
// the types being decoded, so that a type reaching itself is cut instead of decoded forever.
class TSclTemplates {
 public:
  explicit TSclTemplates(TXMLNode DTT);
  const std::vector<TXMLNode>& LNodeTypes(const String& Id) const { return Find(FLNodeTypes, Id); }
  const std::vector<TXMLNode>& DOTypes(const String& Id) const { return Find(FDOTypes, Id); }
  const std::vector<TXMLNode>& DATypes(const String& Id) const { return Find(FDATypes, Id); }
  // False when the type (a list returned above) is already on the current path; otherwise it is
  // entered until Leave.
  bool Enter(const std::vector<TXMLNode>& Types);
  void Leave();

 private:
  using TIndex = std::unordered_map<String, std::vector<TXMLNode>>;
  static const std::vector<TXMLNode>& Find(const TIndex& Index, const String& Id);
  TIndex FLNodeTypes, FDOTypes, FDATypes;
  std::vector<const std::vector<TXMLNode>*> FPath;
};

// Element names without a namespace prefix ("scl:DOType" is a DOType).
String SclLocalName(TXMLNode Node);

class TIEC_DA : public TObject {
 public:
  TIEC_DA() = default;
  ~TIEC_DA() override;
  String ClassName() const override { return u"TIEC_DA"; }
  // A DA or BDA element; FC_Father is the constraint of the attribute above (empty under a DO).
  void Decode_DA(TXMLNode DA, TSclTemplates& DTT, const String& str_Reference, const String& FC_Father);
  // Depth first over the sub-attributes.
  TIEC_DA* Find_DA(const String& DA_Name) const;
  // Down the first sub-attributes to the first leaf; this attribute when it is one.
  TIEC_DA* Find_First_DA();

  const String& Reference() const { return fReference; }
  const String& FC() const { return fFC; }
  const String& bType() const { return fbType; }
  const String& Name() const { return fName; }
  const std::vector<std::unique_ptr<TIEC_DA>>& List_DA() const { return FList_DA; }
  TTreeNode* TreeNode = nullptr;  // the tree-view node showing it, set by the form

 private:
  String fReference, fFC, fbType, fName;
  std::vector<std::unique_ptr<TIEC_DA>> FList_DA;
};

class TIEC_DO : public TObject {
 public:
  TIEC_DO() = default;
  ~TIEC_DO() override;
  String ClassName() const override { return u"TIEC_DO"; }
  // A DO or SDO element.
  void Decode_DO(TXMLNode NDO, TSclTemplates& DTT, const String& str_Reference);
  // Depth first over the sub-data objects (and their sub-data objects).
  TIEC_DO* Find_DO(const String& DO_Name) const;
  // Depth first over this object's attributes, not into sub-data objects.
  TIEC_DA* Find_DA(const String& DA_Name) const;
  TIEC_DA* Find_First_DA() const;

  const String& Name() const { return fName; }
  const std::vector<std::unique_ptr<TIEC_DO>>& List_DO() const { return FList_DO; }
  const std::vector<std::unique_ptr<TIEC_DA>>& List_DA() const { return FList_DA; }
  TTreeNode* TreeNode = nullptr;

 private:
  String fName;
  std::vector<std::unique_ptr<TIEC_DO>> FList_DO;
  std::vector<std::unique_ptr<TIEC_DA>> FList_DA;
};

class TIEC_DataSet : public TObject {
 public:
  TIEC_DataSet() = default;
  String ClassName() const override { return u"TIEC_DataSet"; }
  void Decode_DataSet(TXMLNode DataSet, const String& str_Reference, TIEC_Device* IEC_Device);

  const String& Name() const { return fName; }
  const String& Reference() const { return fReference; }
  const String& GooseName() const { return fGooseName; }
  void SetGooseName(const String& v) { fGooseName = v; }
  // The members: attributes owned by the data objects of the same device.
  const std::vector<TIEC_DA*>& List_DA() const { return FList_DA; }
  TTreeNode* TreeNode = nullptr;

 private:
  String fName, fReference, fGooseName;
  std::vector<TIEC_DA*> FList_DA;
};

class TIEC_LN : public TObject {
 public:
  TIEC_LN() = default;
  ~TIEC_LN() override;
  String ClassName() const override { return u"TIEC_LN"; }
  void Decode_LN(TXMLNode LN, TSclTemplates& DTT, const String& str_Reference);
  void Decode_LN_DataSet(TXMLNode LN, const String& str_Reference, TIEC_Device* IEC_Device);
  // LN is a GSEControl element.
  void Decode_LN_Goose(TXMLNode LN);
  TIEC_DO* Find_DO(const String& DO_Name) const;

  const String& lnClass() const { return flnClass; }
  const String& lnType() const { return flnType; }
  const String& Prefix() const { return fPrefix; }
  const String& Inst() const { return fInst; }
  const std::vector<std::unique_ptr<TIEC_DO>>& List_DO() const { return FList_DO; }
  const std::vector<std::unique_ptr<TIEC_DataSet>>& List_DataSet() const { return FList_DataSet; }
  TTreeNode* TreeNode = nullptr;

 private:
  String flnClass, flnType, fPrefix, fInst;
  std::vector<std::unique_ptr<TIEC_DO>> FList_DO;
  std::vector<std::unique_ptr<TIEC_DataSet>> FList_DataSet;
};

class TIEC_LDevice : public TObject {
 public:
  TIEC_LDevice() = default;
  ~TIEC_LDevice() override;
  String ClassName() const override { return u"TIEC_LDevice"; }
  // First pass (DataSetSearch false): the logical nodes; second pass: their data sets.
  void Decode_LDevice(TXMLNode LDevice, TSclTemplates& DTT, const String& str_Reference, bool DataSetSearch,
                      TIEC_Device* IEC_Device);
  // The first logical node of the class (prefix and instance not compared).
  TIEC_LN* Find_LN(const String& LN_Class) const;
  // The logical node of that prefix, class and instance.
  TIEC_LN* Find_LN(const String& Prefix, const String& LN_Class, const String& Inst) const;

  const String& Name() const { return fName; }
  const std::vector<std::unique_ptr<TIEC_LN>>& List_LN() const { return FList_LN; }
  TTreeNode* TreeNode = nullptr;

 private:
  String fName;
  std::vector<std::unique_ptr<TIEC_LN>> FList_LN;
};

class TIEC_Device : public TObject {
 public:
  // Decodes the file's first IED. A missing file or section gives a device with what was found;
  // a file that is not well-formed raises EXMLDocError.
  explicit TIEC_Device(const String& FileName_icd);
  ~TIEC_Device() override;
  String ClassName() const override { return u"TIEC_Device"; }
  TIEC_LDevice* Find_LDevice(const String& LD_Name) const;

  const String& Name() const { return fName; }
  // A catalog device whose file is gone keeps the name its configuration stored.
  void SetName(const String& v) { fName = v; }
  const String& FileName() const { return fFileName; }
  const std::vector<std::unique_ptr<TIEC_LDevice>>& List_LDevice() const { return FList_LDevice; }
  TTreeNode* TreeNode = nullptr;

 private:
  void Decode_Device(const String& FileName_icd);
  String fName, fFileName;
  std::vector<std::unique_ptr<TIEC_LDevice>> FList_LDevice;
};

#!/usr/bin/env bash
# The export tables of the processing modules and the sampler link name exactly their entry
# points, and the modules need no DLL beyond the system's own and the C++ runtime shipped
# beside the program.
#
#   check-exports.sh <objdump> <system folder>
set -u
objdump=$1
system=$2
failed=0
check() {
  local dll=$1 expected=$2 names imports
  names=$("$objdump" -p "$system/$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')
  imports=$("$objdump" -p "$system/$dll" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' |
            grep -v -E '^(libgcc_s_[a-z0-9]+-1|libstdc\+\+-6|libwinpthread-1)\.dll$' | sort | tr '\n' ' ')
  if [ "$names" = "$expected " ] && [ "$imports" = "kernel32.dll msvcrt.dll " ]; then
    echo "$dll: $names(imports: $imports) ok"
  else
    echo "$dll: FAIL: exports '$names' (want '$expected'), imports '$imports'"
    failed=1
  fi
}
check Pelrin.dll "_TCProcessResampling"
check Dastrel.dll "_TCExpectedSize _TCProcess"
check filter.dll "_StartFilter"
check Torvask.dll "\
Qb_BuildSampleSpec Qb_CorrectSampleInformation Qb_CountMIDIInputs Qb_CountMIDIOutputs Qb_CountSCSIAdapters Qb_CountSamplerInterfaces Qb_CountSamplerModels Qb_CreateLocationList Qb_CreateMIDIAndSCSISamplerInterface Qb_CreateMIDISamplerInterface Qb_CreateSCSISamplerInterface Qb_CreateSampleList Qb_DeleteSample Qb_DisposeLocationList Qb_DisposeSampleList Qb_DisposeSamplerInterface Qb_GetMIDIInputInfo Qb_GetMIDIOutputInfo Qb_GetSCSIAdapterInfo Qb_GetSamplerInterfaceInfo Qb_GetSamplerModelInfo Qb_GetSupportedSampleRates Qb_ReceiveSample Qb_ReceiveSampleInfo Qb_ReplaceSample Qb_TransmitNewSample"
exit $failed

# The fuzz targets, one per reader: tests/fuzz/fuzz_<name>.cpp, seeded from
# tests/fuzz/corpus/<name>/, with the inputs of past findings in
# tests/fuzz/regressions/<name>/. Shared by the native fuzzing build and the
# test run's ctest entries.
set(KR_FUZZ_TARGETS
  profile_text
  numbers
  strings
  wind_pos
  file_records
  paths
  file_filter
  chart_params
  cal_covar
  retention
  date_time
)

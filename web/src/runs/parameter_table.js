// The experiment's parameters and speeds as the core's one table
// (app/parameters.h) has them, written out from it for the page's script. A
// core test (ParameterTable.ThePagesCopyIsTheCores) fails when the two
// differ and prints the line this file must hold.
export const PARAMETER_TABLE = {"parameters":[{"key":"height","name":"レールの高さ","unit":"cm","minimum":10,"maximum":40,"step":10,"default":20},{"key":"length","name":"ななめの長さ","unit":"cm","minimum":50,"maximum":80,"step":10,"default":60},{"key":"m1","name":"当てるぴるての重さ","unit":"g","minimum":10,"maximum":50,"step":10,"default":20},{"key":"m2","name":"当てられるぴるての重さ","unit":"g","minimum":10,"maximum":50,"step":10,"default":20},{"key":"r1","name":"当てるぴるての半径","unit":"mm","minimum":8,"maximum":14,"step":2,"default":10},{"key":"r2","name":"当てられるぴるての半径","unit":"mm","minimum":8,"maximum":14,"step":2,"default":10}],"speeds":[{"key":"fast","name":"速"},{"key":"medium","name":"中"},{"key":"slow","name":"遅"}]};
